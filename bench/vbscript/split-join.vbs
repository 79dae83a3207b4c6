' Split a 1 MB text into words and join it back, ten times.
Dim parts(99999), i, text, words, back, n
For i = 0 To 99999
    parts(i) = "word" & (i Mod 10)
Next
text = Join(parts, " ")
n = 0
For i = 1 To 10
    words = Split(text, " ")
    back = Join(words, ",")
    n = n + UBound(words) + 1
Next
console.log n & " " & Len(back)
