## The 26 PCQ queue types the queue tree attaches to. The upload run lists
## class 3 before class 2; the download run does not. Two spaces stand before
## pcq-total-limit. The last line removes the backup script.
## Fills: RATERX, RATETX and CLIENTS, the rates' and the client count's
## globals.

#以下操作必须按顺序导入
#Type PCQ  [固定值]
/queue type
add kind=pcq name=out_1_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=out_3_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=out_2_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=out_4_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=out_5_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=out_6_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=out_7_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=out_0_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=out_-1_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=out_-2_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=out_-3_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=out_8_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)

add kind=pcq name=in_Server_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*8)/10)  pcq-total-limit=2000
add kind=pcq name=out_Server_up pcq-classifier=src-address pcq-limit=50 pcq-rate=((${RATERX}*8)/10)  pcq-total-limit=2000

add kind=pcq name=in_1_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=in_2_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=in_3_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=in_4_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=in_5_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=in_6_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=in_7_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=in_0_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=in_-1_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=in_-2_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=in_-3_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)
add kind=pcq name=in_8_down pcq-classifier=dst-address pcq-limit=50 pcq-rate=((${RATETX}*5)/10)  pcq-total-limit=(${CLIENTS}*40)

/system script remove [find name=brookfenbackup]
