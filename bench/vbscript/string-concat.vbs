' 200,000 appends to one string.
Dim s, i
s = ""
For i = 1 To 200000
    s = s & "x" & (i Mod 10)
Next
console.log Len(s)
