## Heads the lines' queues.
#以下
