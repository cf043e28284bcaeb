// orvane's reader of "chinacoast.txt".
#include "fuzzsupport.h"

#include <coastlines.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QVector<CoastPoint> points;
    FileProblems problems;
    {
        ProblemReporter reporter(&problems, QStringLiteral("coastline/chinacoast.txt"));
        parseChinaCoast(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), points, &reporter);
    }
    for (const FileProblem &p : std::as_const(problems))
        (void)p.toString(UiLanguage::Japanese);
    return 0;
}
