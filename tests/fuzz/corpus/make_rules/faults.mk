unknown = 1
[nonsense]
x
