// JavaScript twin of class-instances.vbs for the peers.
function Point() { this.mX = 0; this.Y = 0; }
Point.prototype.getX = function () { return this.mX; };
Point.prototype.setX = function (v) { this.mX = v; };
var total = 0;
for (var i = 1; i <= 200000; i++) {
    var p = new Point();
    p.setX(i);
    p.Y = 2;
    total = total + p.getX() * p.Y;
}
console.log(total);
