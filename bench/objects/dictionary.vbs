' 1,000,000 adds and 1,000,000 lookups in a Scripting.Dictionary, number keys then string keys
Set d = CreateObject("Scripting.Dictionary")
For i = 1 To 1000000
  d.Add i, i
Next
found = 0
For i = 1 To 1000000
  If d.Exists(i) Then found = found + 1
Next
Set s = CreateObject("Scripting.Dictionary")
For i = 1 To 1000000
  s("k" & i) = i
Next
total = 0
For i = 1 To 1000000
  total = total + s("k" & i)
Next
console.log found & " " & d.Count & " " & total
