' A counting loop with integer arithmetic: the interpreter's basic dispatch speed.
Dim i, total
total = 0
For i = 1 To 1000000
    total = (total + i * 7) Mod 1000003
Next
console.log total
