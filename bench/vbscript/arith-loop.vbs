' Ten million steps of integer and floating arithmetic in a For loop.
Dim i, a, b
a = 0 : b = 0.5
For i = 1 To 10000000
    a = (a + i) Mod 65521
    b = b * 0.999999 + 1
Next
console.log a & " " & Int(b)
