' 200,000 class instances, each with a property written and read.
Class Point
    Private mX
    Public Y
    Public Property Get X()
        X = mX
    End Property
    Public Property Let X(v)
        mX = v
    End Property
End Class
Dim i, p, total
total = 0
For i = 1 To 200000
    Set p = New Point
    p.X = i
    p.Y = 2
    total = total + p.X * p.Y
Next
console.log total
