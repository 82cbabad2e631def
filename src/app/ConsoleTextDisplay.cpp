// SPDX-License-Identifier: MIT
#include "ConsoleTextDisplay.h"

#include "Clock.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f);
}

} // namespace

QString ConsoleTextDisplay::printable(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            out += u"\n    "_s;
            ++i;
        } else if (isControl(c)) {
            out += u"\\x"_s + QString::number(c, 16).rightJustified(2, u'0');
        } else {
            out += QChar(c);
        }
    }
    return out;
}

QString ConsoleTextDisplay::block(const QTime &time, const QString &text)
{
    return u'[' + time.toString(u"HH:mm:ss"_s) + u"] "_s +
           (text.isEmpty() ? u"(leer)"_s : printable(text)) + u'\n';
}

void ConsoleTextDisplay::set_Print_Text(const QString &text)
{
    m_text = text;
    std::fputs(block(m_clock.now().time(), text).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}
