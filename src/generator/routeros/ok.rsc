## The script's last line.
#ok
