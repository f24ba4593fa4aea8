#pragma once

#include <QDialog>
#include <QFont>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// "Setari pentru listarea rapoarte": page range, copies, preview, margins,
// orientation, printer and font, shown before every report.
class TQRPrnDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TQRPrnDlg(QWidget* parent = nullptr);

    // Puts the print settings into the controls (steps before showing).
    void load();
    // Copies the controls into the print settings (after a confirmation).
    void store();

    QTabWidget* tabs() const { return m_tabs; }
    QRadioButton* allPages() const { return m_all; }
    QRadioButton* somePages() const { return m_partial; }
    QSpinBox* firstPage() const { return m_first; }
    QSpinBox* lastPage() const { return m_last; }
    QSpinBox* copies() const { return m_copies; }
    QCheckBox* preview() const { return m_preview; }
    QSpinBox* top() const { return m_top; }
    QSpinBox* bottom() const { return m_bottom; }
    QSpinBox* left() const { return m_left; }
    QSpinBox* right() const { return m_right; }
    QRadioButton* portrait() const { return m_portrait; }
    QRadioButton* landscape() const { return m_landscape; }
    QLabel* printerLabel() const { return m_printerLabel; }
    QLabel* fontLabel() const { return m_fontLabel; }
    QFont chosenFont() const { return m_font; }

    // "&Printeaza": confirms after checking the margins against the printable area.
    void confirm();
    void choosePrinter();
    void chooseFont();
    void orientationChosen();

private:
    void measure();
    void showOrientation();
    void marginChanged(QSpinBox* spin, QSpinBox* opposite);

    QTabWidget* m_tabs;
    QRadioButton* m_all;
    QRadioButton* m_partial;
    QSpinBox* m_first;
    QSpinBox* m_last;
    QSpinBox* m_copies;
    QCheckBox* m_preview;
    QLabel* m_printerLabel;
    QLabel* m_fontLabel;
    QSpinBox* m_top;
    QSpinBox* m_bottom;
    QSpinBox* m_left;
    QSpinBox* m_right;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
    QLabel* m_picture;
    QFont m_font;
    bool m_adjusting = false;
    QSpinBox* m_lastChanged = nullptr;
};

// Shows the print setup over `owner`; true when the user confirmed, and then
// the print settings hold the choices.
bool ShowPrintSetup(QWidget* owner);
