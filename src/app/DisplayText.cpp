// SPDX-License-Identifier: MIT
#include "DisplayText.h"

#include "NumberText.h"
#include "StationList.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace DisplayText {
namespace {

QString padded(QString digits, bool negative)
{
    while (digits.size() > 1 && digits.front() == u'0') {
        digits.remove(0, 1);
    }
    if (digits.size() < 4) {
        digits.prepend(QString(4 - digits.size(), u'0'));
    }
    return negative ? u'-' + digits : digits;
}

bool isDigits(QStringView s)
{
    if (s.isEmpty()) {
        return false;
    }
    for (const QChar c : s) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

} // namespace

QString format0000(const QString &answer)
{
    const QStringView trimmed = QStringView(answer).trimmed();
    // Plain digits are padded as text, so no count is too long to stay exact.
    if (isDigits(trimmed)) {
        return padded(trimmed.toString(), false);
    }
    const auto value = NumberText::strictNumber(answer);
    if (!value) {
        return answer;
    }
    const double r = std::round(*value);
    return padded(QString::number(std::fabs(r), 'f', 0), r < 0);
}

qint32 answerCount(const QString &answer)
{
    const double v = NumberText::roundHalfEven(NumberText::leadingNumber(answer));
    constexpr double lo = std::numeric_limits<qint32>::min();
    constexpr double hi = std::numeric_limits<qint32>::max();
    if (std::isnan(v)) {
        return 0;
    }
    return static_cast<qint32>(std::clamp(v, lo, hi));
}

QString changeMarker(qint64 difference)
{
    const QString digits =
        padded(QString::number(difference < 0 ? -difference : difference), difference < 0);
    return (difference >= 0 ? u" +"_s : u"  "_s) + digits;
}

QString countdownText(qint64 remainingSeconds)
{
    return u"nächste Aktualisierung in "_s + QString::number(remainingSeconds) + u" Sekunden"_s;
}

void Builder::append(const QString &name, const QString &answer, const QString &marker)
{
    if (m_first) {
        m_text += upper_case(name) + u" : "_s;
        m_first = false;
    } else {
        m_text += (m_sideBySide ? u" -- "_s : u"\r\n"_s) + upper_case(name) + u": "_s;
    }
    m_text += answer + marker;
}

} // namespace DisplayText
