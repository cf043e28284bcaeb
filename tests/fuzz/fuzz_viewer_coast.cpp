// orvane2007's coast readers: a mesh tile and the comma file "toba.cst" (the first byte of the
// input chooses: "R" or a digit for the comma file), then the clipping to a race area.
#include "fuzzsupport.h"

#include <viewercoast.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ViewerCoast coast;
    coast.Area = {2100.0, 2160.0, 8340.0, 8420.0};
    ReadProblems problems;
    if (!bytes.isEmpty() && (bytes[0] == 'R' || (bytes[0] >= '0' && bytes[0] <= '9')))
        readCommaCoast(bytes, coast, QStringLiteral("coastline/toba.cst"), problems);
    else
        readMeshCoast(bytes, coast, QStringLiteral("coastline/5339.cst"), problems);
    clipCoastToArea(coast);
    for (const ReadProblem &p : std::as_const(problems))
        (void)p.toString(1);
    return 0;
}
