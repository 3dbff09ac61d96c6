#include "Core/ByteCount.h"

#include "Core/Localization.h"

#include <array>
#include <cmath>

namespace ByteCount {

namespace {

QString withUnit(const QString &number, std::size_t unit)
{
    switch (unit) {
    case 0:
        return L("%@KB", number);
    case 1:
        return L("%@MB", number);
    case 2:
        return L("%@GB", number);
    case 3:
        return L("%@TB", number);
    case 4:
        return L("%@PB", number);
    default:
        return L("%@EB", number);
    }
}

} // namespace

QString fileStyle(std::int64_t bytes)
{
    if (bytes == 0)
        return L("0KB");
    const bool negative = bytes < 0;
    // Magnitude as unsigned so the smallest value has a positive counterpart.
    const std::uint64_t magnitude = negative ? std::uint64_t(0) - std::uint64_t(bytes) : std::uint64_t(bytes);
    const QString sign = negative ? QStringLiteral("-") : QString();
    if (magnitude == 1)
        return sign + L("1바이트");
    if (magnitude < 1000)
        return sign + L("%@바이트", QString::number(magnitude));

    static constexpr std::array<int, 6> decimals{0, 1, 2, 2, 2, 2};
    double value = double(magnitude) / 1000.0;
    std::size_t unit = 0;
    for (;;) {
        const double scale = std::pow(10.0, decimals[unit]);
        const double rounded = std::round(value * scale) / scale;
        // 999,999 bytes round to 1000 KB, which reads better as the next unit.
        if (rounded >= 1000.0 && unit + 1 < decimals.size()) {
            value /= 1000.0;
            ++unit;
            continue;
        }
        QString number = QString::number(rounded, 'f', decimals[unit]);
        if (number.contains(QLatin1Char('.'))) {
            while (number.endsWith(QLatin1Char('0')))
                number.chop(1);
            if (number.endsWith(QLatin1Char('.')))
                number.chop(1);
        }
        return sign + withUnit(number, unit);
    }
}

} // namespace ByteCount
