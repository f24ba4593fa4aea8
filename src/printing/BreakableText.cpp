#include "printing/BreakableText.h"

#include "printing/PageModel.h"

#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>

namespace
{

// Words are measured at the resolution texts are painted at.
double widthMmOf(const QString& word, const QFont& font)
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(qRound(textResolution / 0.0254));
        image.setDotsPerMeterY(qRound(textResolution / 0.0254));
        return image;
    }();
    return QFontMetricsF(font, &device).horizontalAdvance(word) * 25.4 / textResolution;
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
