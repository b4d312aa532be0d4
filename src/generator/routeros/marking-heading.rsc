## Heads the lines' marking. It speaks of 40 rules though the blocks hold
## 46: its words are fixed text and do not follow the count.

#——————————————————————————————————————————————————————————————————————————————————————————
#数据标记，每增加一条外网则按以下模版生成40条规则；顺序不可错
