#!/usr/bin/env bash
# Writes a CityGML 2.0 city block to stdout: ROWS x COLUMNS gabled houses (default 20 x 20)
# with LoD2 wall, roof and ground surfaces, each with a window as interior ring, in
# UTM coordinates (EPSG:25832). Sizes and heights vary from house to house, so the
# block imports as 7 surfaces per house: 2 eaves walls, 2 gable walls, 2 roofs, 1 ground.
# Usage: tools/make-city-block.sh [ROWS] [COLUMNS] > block.gml
set -euo pipefail
rows=${1:-20}
columns=${2:-20}
awk -v rows="$rows" -v cols="$columns" '
function p(x, y, z) { return sprintf("%.3f %.3f %.3f", 400000 + x, 5700000 + y, 40 + z) }
function ring(pts,   s, i) {
    s = ""
    for (i = 1; i <= pts[0]; i++) s = s pts[i] " "
    return s pts[1]
}
function polygon(kind, outer, inner) {
    printf "<bldg:boundedBy><bldg:%sSurface><bldg:lod2MultiSurface><gml:MultiSurface><gml:surfaceMember><gml:Polygon>", kind
    printf "<gml:exterior><gml:LinearRing><gml:posList srsDimension=\"3\">%s</gml:posList></gml:LinearRing></gml:exterior>", outer
    if (inner != "") printf "<gml:interior><gml:LinearRing><gml:posList srsDimension=\"3\">%s</gml:posList></gml:LinearRing></gml:interior>", inner
    printf "</gml:Polygon></gml:surfaceMember></gml:MultiSurface></bldg:lod2MultiSurface></bldg:%sSurface></bldg:boundedBy>\n", kind
}
BEGIN {
    print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    print "<core:CityModel xmlns:core=\"http://www.opengis.net/citygml/2.0\" xmlns:bldg=\"http://www.opengis.net/citygml/building/2.0\" xmlns:gml=\"http://www.opengis.net/gml\">"
    for (r = 0; r < rows; r++) for (c = 0; c < cols; c++) {
        n = r * cols + c
        w = 8 + (n * 7) % 5; d = 7 + (n * 3) % 4; h = 5 + (n * 5) % 7; ridge = h + 2 + n % 3
        x0 = c * 16; y0 = r * 15; x1 = x0 + w; y1 = y0 + d; ym = y0 + d / 2
        printf "<core:cityObjectMember><bldg:Building gml:id=\"BLOCK_%d_%d\">\n", r + 1, c + 1
        # South wall with a window, then east gable, north wall, west gable (outward, counter-clockwise).
        a[0] = 4; a[1] = p(x0, y0, 0); a[2] = p(x1, y0, 0); a[3] = p(x1, y0, h); a[4] = p(x0, y0, h)
        b[0] = 4; b[1] = p(x0 + 1, y0, 1); b[2] = p(x0 + 1, y0, 2); b[3] = p(x0 + 2, y0, 2); b[4] = p(x0 + 2, y0, 1)
        polygon("Wall", ring(a), ring(b))
        a[0] = 5; a[1] = p(x1, y0, 0); a[2] = p(x1, y1, 0); a[3] = p(x1, y1, h); a[4] = p(x1, ym, ridge); a[5] = p(x1, y0, h)
        polygon("Wall", ring(a), "")
        a[0] = 4; a[1] = p(x1, y1, 0); a[2] = p(x0, y1, 0); a[3] = p(x0, y1, h); a[4] = p(x1, y1, h)
        polygon("Wall", ring(a), "")
        a[0] = 5; a[1] = p(x0, y1, 0); a[2] = p(x0, y0, 0); a[3] = p(x0, y0, h); a[4] = p(x0, ym, ridge); a[5] = p(x0, y1, h)
        polygon("Wall", ring(a), "")
        a[0] = 4; a[1] = p(x0, y0, h); a[2] = p(x1, y0, h); a[3] = p(x1, ym, ridge); a[4] = p(x0, ym, ridge)
        polygon("Roof", ring(a), "")
        a[0] = 4; a[1] = p(x1, y1, h); a[2] = p(x0, y1, h); a[3] = p(x0, ym, ridge); a[4] = p(x1, ym, ridge)
        polygon("Roof", ring(a), "")
        a[0] = 4; a[1] = p(x0, y0, 0); a[2] = p(x0, y1, 0); a[3] = p(x1, y1, 0); a[4] = p(x1, y0, 0)
        polygon("Ground", ring(a), "")
        print "</bldg:Building></core:cityObjectMember>"
    }
    print "</core:CityModel>"
}'
