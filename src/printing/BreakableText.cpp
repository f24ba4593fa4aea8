#include "printing/BreakableText.h"

#include "printing/PageModel.h"

#include <QRegularExpression>

namespace
{

// Words are measured at the resolution texts are painted at.
double widthMmOf(const QString& word, const QFont& font)
{
    return textMetrics(font).horizontalAdvance(word) * 25.4 / textResolution;
}

} // namespace

QString breakableText(const QString& text, const QFont& font, double widthMm)
{
    static const QRegularExpression word(QStringLiteral("\\S+"));
    QString result;
    qsizetype done = 0;
    for (const QRegularExpressionMatch& m : word.globalMatch(text)) {
        result += text.mid(done, m.capturedStart() - done);
        const QString w = m.captured();
        if (widthMmOf(w, font) <= widthMm) {
            result += w;
        } else {
            for (qsizetype i = 0; i < w.size(); ++i) {
                if (i > 0 && !w[i].isLowSurrogate())
                    result += QChar(0x200B);
                result += w[i];
            }
        }
        done = m.capturedEnd();
    }
    return result + text.mid(done);
}
