// The point-list reader on arbitrary bytes: decoding (UTF-8 or CP932), the
// lenient parser, and every pair entered into a control-point list, which
// must stay ordered, distinct and within its 2000 points whatever the file.
#include "ControlPoints.h"
#include "PointListFile.h"
#include "TextCodec.h"
#include "Units.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        zw::DecodeFileText(QByteArrayView(reinterpret_cast<const char*>(data), size));
    zw::UnitSetting setting;
    setting.WaveLength = 1000;
    const zw::Units units(setting);
    zw::ControlPoints points;
    bool answer = false;
    zw::PointListParser parser(text);
    while (const auto pair = parser.next()) {
        const zw::PointListPair p = zw::PointFromDisplayUnits(*pair, units);
        if (p.x < 0 || p.x > 1000 || p.y < -32768 || p.y > 32767)
            std::abort();
        answer = !answer;
        points.setPoint(p.x, p.y, 1000, [answer] { return answer; });
        if (points.count() > zw::ControlPoints::kCapacity)
            std::abort();
    }
    for (int i = 1; i < points.count(); ++i)
        if (!(points.x(i - 1) < points.x(i)))
            std::abort();
    if (points.count() > 1 && points.x(0) == 0 && points.x(points.count() - 1) == 1000 &&
        points.y(0) != points.y(points.count() - 1))
        std::abort();
    return 0;
}
