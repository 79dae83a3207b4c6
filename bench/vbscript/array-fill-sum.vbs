' Fill a 1,000,000-element array, then sum it.
Dim a(999999), i, total
For i = 0 To 999999
    a(i) = i Mod 1000
Next
total = 0
For i = 0 To 999999
    total = total + a(i)
Next
console.log total
