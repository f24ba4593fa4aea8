#pragma once

#include <QFont>
#include <QString>

// A text for a box that wraps at word boundaries: each word wider than the
// box gets zero-width spaces between its characters, so that it breaks at the
// box's edge instead of running past it. Other words are left whole.
QString breakableText(const QString& text, const QFont& font, double widthMm);
