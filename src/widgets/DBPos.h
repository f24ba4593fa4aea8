#pragma once

#include <QPointer>
#include <QWidget>

class Dataset;

// The record-position bar of the document windows: filled in proportion to
// the current record's place, with "15/230" centred on it, drawn inverted
// over the filled part.
class TDBPos : public QWidget
{
    Q_OBJECT
public:
    explicit TDBPos(QWidget* parent = nullptr);

    void bind(Dataset* dataset);
    int progress() const { return m_progress; }
    int percent() const;
    QString text() const;

    QSize sizeHint() const override { return {160, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    QPointer<Dataset> m_dataset;
    int m_max = 0;
    int m_progress = 0;
};
