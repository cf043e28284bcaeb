// orvane's reader of ".cst" coast line tiles, with a view box of the whole globe so that every
// mesh of the tile is read.
#include "fuzzsupport.h"

#include <coastlines.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    CoastViewBox box{-5400.0, 5400.0, -10800.0, 10800.0};
    QVector<CoastPoint> points;
    FileProblems problems;
    {
        ProblemReporter reporter(&problems, QStringLiteral("coastline/5339.cst"));
        parseCoastTile(bytes, box, points, &reporter);
    }
    (void)TokyoToWgs84(points.isEmpty() ? 0.0 : points.last().Lat, points.isEmpty() ? 0.0 : points.last().Lon);
    return 0;
}
