#include "printing/Qprndlg.h"

#include "core/ErrorGuard.h"
#include "core/UserDialogs.h"
#include "printing/PrintSettings.h"
#include "printing/PrinterAccess.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace
{

QSpinBox* spin(QWidget* parent, const QString& name, int minimum, int maximum)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, maximum);
    return box;
}

// A margin spin with its caption and "mm" after it.
QWidget* marginRow(QWidget* parent, QSpinBox* box)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    layout->addWidget(new QLabel(QStringLiteral("mm"), row));
    return row;
}

QPushButton* button(QWidget* parent, const QString& caption, const QString& name, const QString& hint = {})
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(true); // Enter on a button clicks that button
    if (!hint.isEmpty()) {
        b->setToolTip(hint);
        b->setStatusTip(hint);
    }
    return b;
}

// The page in the chosen orientation, with its margins dashed.
QPixmap pagePicture(bool landscape, int top, int bottom, int left, int right)
{
    const QSize size = landscape ? QSize(84, 60) : QSize(60, 84);
    QPixmap pixmap(96, 96);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QRect page(QPoint((96 - size.width()) / 2, (96 - size.height()) / 2), size);
    p.fillRect(page.translated(3, 3), Qt::gray);
    p.fillRect(page, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(page);
    const double scale = size.width() / (landscape ? 297.0 : 210.0);
    const QRect inner = page.adjusted(int(left * scale) + 1, int(top * scale) + 1, -int(right * scale) - 1,
                                      -int(bottom * scale) - 1);
    p.setPen(QPen(Qt::darkBlue, 1, Qt::DashLine));
    p.drawRect(inner);
    return pixmap;
}

QString fontText(const QFont& font)
{
    return font.family() + QStringLiteral("   ") + QString::number(font.pointSize());
}

std::optional<QPageSize::PageSizeId> knownPaper(const QPageSize& paper)
{
    const QPageSize::PageSizeId id = paper.id();
    for (const QPageSize::PageSizeId known :
         {QPageSize::A4, QPageSize::Letter, QPageSize::Legal, QPageSize::A3, QPageSize::A5, QPageSize::B5,
          QPageSize::Executive})
        if (id == known)
            return id;
    return std::nullopt;
}

} // namespace

TQRPrnDlg::TQRPrnDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Setari pentru listarea rapoarte"));
    setObjectName(QStringLiteral("TQRPrnDlg"));
    m_tabs = new QTabWidget(this);

    auto* listing = new QWidget(m_tabs);
    m_all = new QRadioButton(QStringLiteral("&Listeaza tot"), listing);
    m_all->setObjectName(QStringLiteral("ListeazaTot"));
    m_partial = new QRadioButton(QStringLiteral("Listeaza &partial"), listing);
    m_partial->setObjectName(QStringLiteral("ListeazaPartial"));
    m_first = spin(listing, QStringLiteral("PrimaPagina"), 1, 9999);
    m_last = spin(listing, QStringLiteral("UltimaPagina"), 0, 9999);
    m_copies = spin(listing, QStringLiteral("Exemplare"), 1, 1000);
    m_preview = new QCheckBox(QStringLiteral("&Afisare pe ecran"), listing);
    m_preview->setObjectName(QStringLiteral("AfisarePeEcran"));
    m_printerLabel = new QLabel(QStringLiteral("Current printer"), listing);
    m_printerLabel->setObjectName(QStringLiteral("Imprimanta"));
    m_fontLabel = new QLabel(QStringLiteral("Current font"), listing);
    m_fontLabel->setObjectName(QStringLiteral("Font"));
    auto* pages = new QFormLayout;
    auto* firstLabel = new QLabel(QStringLiteral("&Prima pagina:"), listing);
    firstLabel->setBuddy(m_first);
    auto* lastLabel = new QLabel(QStringLiteral("Ultima p&agina:"), listing);
    lastLabel->setBuddy(m_last);
    auto* copiesLabel = new QLabel(QStringLiteral("&Exemplare:"), listing);
    copiesLabel->setBuddy(m_copies);
    pages->addRow(firstLabel, m_first);
    pages->addRow(lastLabel, m_last);
    pages->addRow(copiesLabel, m_copies);
    auto* listingLayout = new QVBoxLayout(listing);
    listingLayout->addWidget(m_all);
    listingLayout->addWidget(m_partial);
    listingLayout->addLayout(pages);
    listingLayout->addWidget(m_preview);
    listingLayout->addWidget(m_printerLabel);
    listingLayout->addWidget(m_fontLabel);
    listingLayout->addStretch();
    m_tabs->addTab(listing, QStringLiteral("Listare "));

    auto* pageTab = new QWidget(m_tabs);
    auto* margins = new QGroupBox(QStringLiteral("Margini de pagina"), pageTab);
    m_top = spin(margins, QStringLiteral("Sus"), 0, 9999);
    m_bottom = spin(margins, QStringLiteral("Jos"), 0, 9999);
    m_left = spin(margins, QStringLiteral("Stinga"), 0, 9999);
    m_right = spin(margins, QStringLiteral("Dreapta"), 0, 9999);
    auto* marginForm = new QFormLayout(margins);
    marginForm->addRow(QStringLiteral("Sus:"), marginRow(margins, m_top));
    marginForm->addRow(QStringLiteral("Jos:"), marginRow(margins, m_bottom));
    marginForm->addRow(QStringLiteral("Stînga:"), marginRow(margins, m_left));
    marginForm->addRow(QStringLiteral("Dreapta:"), marginRow(margins, m_right));
    m_top->setAccessibleName(QStringLiteral("Sus"));
    m_bottom->setAccessibleName(QStringLiteral("Jos"));
    m_left->setAccessibleName(QStringLiteral("Stînga"));
    m_right->setAccessibleName(QStringLiteral("Dreapta"));
    auto* orientation = new QGroupBox(QStringLiteral("Orientare"), pageTab);
    m_portrait = new QRadioButton(QStringLiteral("&Portret"), orientation);
    m_portrait->setObjectName(QStringLiteral("Portret"));
    m_landscape = new QRadioButton(QStringLiteral("P&eisaj"), orientation);
    m_landscape->setObjectName(QStringLiteral("Peisaj"));
    m_picture = new QLabel(orientation);
    auto* orientationLayout = new QHBoxLayout(orientation);
    auto* radios = new QVBoxLayout;
    radios->addWidget(m_portrait);
    radios->addWidget(m_landscape);
    orientationLayout->addLayout(radios);
    orientationLayout->addWidget(m_picture);
    auto* pageLayout = new QHBoxLayout(pageTab);
    pageLayout->addWidget(margins);
    pageLayout->addWidget(orientation);
    m_tabs->addTab(pageTab, QStringLiteral("Pagina"));

    QPushButton* printer = button(this, QStringLiteral("&Imprimanta"), QStringLiteral("ButonImprimanta"));
    QPushButton* font = button(this, QStringLiteral("&Font"), QStringLiteral("ButonFont"));
    // Created in the order they are shown, which is the Tab order.
    QPushButton* print = button(this, QStringLiteral("&Printeaza"), QStringLiteral("Printeaza"),
                                QStringLiteral("Sunt de acord"));
    QPushButton* close =
        button(this, QStringLiteral("&Inchide"), QStringLiteral("Inchide"), QStringLiteral("Renunt"));
    // Enter confirms from any field; Alt+P reaches "Listeaza &partial" first.
    print->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printer);
    buttons->addWidget(font);
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);

    connect(m_partial, &QRadioButton::toggled, this, [this](bool partial) {
        m_first->setEnabled(partial);
        m_last->setEnabled(partial);
        if (partial)
            m_first->setFocus();
    });
    connect(m_first, &QSpinBox::valueChanged, this, [this](int first) {
        m_last->setMinimum(first);
        if (m_last->value() < first)
            m_last->setValue(first);
    });
    connect(m_portrait, &QRadioButton::toggled, this, [this] { orientationChosen(); });
    connect(m_top, &QSpinBox::valueChanged, this, [this] { marginChanged(m_top, m_bottom); });
    connect(m_bottom, &QSpinBox::valueChanged, this, [this] { marginChanged(m_bottom, m_top); });
    connect(m_left, &QSpinBox::valueChanged, this, [this] { marginChanged(m_left, m_right); });
    connect(m_right, &QSpinBox::valueChanged, this, [this] { marginChanged(m_right, m_left); });
    connect(printer, &QPushButton::clicked, this, [this] { runGuarded([this] { choosePrinter(); }); });
    connect(font, &QPushButton::clicked, this, [this] { runGuarded([this] { chooseFont(); }); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, [this] { runGuarded([this] { confirm(); }); });
}

void TQRPrnDlg::load()
{
    PrintSettings& s = printSettings();
    PrinterAccess& printer = printerAccess();
    m_preview->setChecked(s.preview);
    m_all->setChecked(true);
    m_first->setEnabled(false);
    m_last->setEnabled(false);
    m_first->setValue(1);
    m_last->setValue(1);
    m_copies->setValue(1);
    if (s.fontName.isEmpty()) {
        // No report has set its font yet: a fixed-pitch font of the printer, size 10.
        m_font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        m_font.setPointSize(10);
        m_font.setFixedPitch(true);
    } else {
        m_font = QFont(s.fontName, s.fontSize);
        if (s.pitch == PrintSettings::Pitch::Fixed)
            m_font.setFixedPitch(true);
    }
    m_fontLabel->setText(fontText(m_font));
    m_printerLabel->setText(printer.name());
    m_tabs->setCurrentIndex(0);

    printer.setOrientation(s.orientation);
    m_adjusting = true;
    (printer.orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);
    m_adjusting = false;
    if (s.paper)
        printer.setPaper(QPageSize(*s.paper));

    measure();
    const auto fit = [](int value, int minimum, int maximum) {
        return value < minimum || value > maximum ? minimum : value;
    };
    s.top = fit(s.top, s.minimumTop, m_top->maximum());
    s.bottom = fit(s.bottom, s.minimumBottom, m_bottom->maximum());
    s.left = fit(s.left, s.minimumLeft, m_left->maximum());
    s.right = fit(s.right, s.minimumRight, m_right->maximum());
    m_adjusting = true;
    m_top->setValue(s.top);
    m_bottom->setValue(s.bottom);
    m_left->setValue(s.left);
    m_right->setValue(s.right);
    m_adjusting = false;
    showOrientation();
}

void TQRPrnDlg::measure()
{
    PrintSettings& s = printSettings();
    const PrintableArea area = printerAccess().printableArea();
    rememberMinimumMargins(s, area);
    m_adjusting = true;
    m_left->setMaximum(area.paperWidth);
    m_right->setMaximum(area.paperWidth);
    m_top->setMaximum(area.paperHeight);
    m_bottom->setMaximum(area.paperHeight);
    m_adjusting = false;
}

void TQRPrnDlg::showOrientation()
{
    m_picture->setPixmap(pagePicture(m_landscape->isChecked(), m_top->value(), m_bottom->value(),
                                     m_left->value(), m_right->value()));
}

void TQRPrnDlg::orientationChosen()
{
    if (m_adjusting)
        return;
    const QPageLayout::Orientation chosen =
        m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (chosen != printerAccess().orientation()) {
        printerAccess().setOrientation(chosen);
        measure();
    }
    showOrientation();
}

void TQRPrnDlg::marginChanged(QSpinBox* spin, QSpinBox* opposite)
{
    if (m_adjusting)
        return;
    m_adjusting = true;
    // A margin leaves room at least for the opposite one.
    if (spin->maximum() - spin->value() < opposite->value())
        spin->setValue(spin->maximum() - opposite->value());
    m_adjusting = false;
    m_lastChanged = spin;
    showOrientation();
}

void TQRPrnDlg::choosePrinter()
{
    printerAccess().setup(this);
    m_printerLabel->setText(printerAccess().name());
    measure();
    m_adjusting = true;
    (printerAccess().orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);
    m_adjusting = false;
    showOrientation();
}

void TQRPrnDlg::chooseFont()
{
    if (const std::optional<QFont> font = dialogs().pickFont(m_font)) {
        m_font = *font;
        m_font.setPointSize(std::clamp(m_font.pointSize(), 5, 48));
    }
    m_fontLabel->setText(fontText(m_font));
}

void TQRPrnDlg::confirm()
{
    PrintSettings& s = printSettings();
    printerAccess().setOrientation(m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    measure();
    struct Margin {
        QSpinBox* spin;
        int minimum;
    };
    const Margin margins[] = {{m_top, s.minimumTop},
                              {m_bottom, s.minimumBottom},
                              {m_left, s.minimumLeft},
                              {m_right, s.minimumRight}};
    bool tooSmall = false;
    for (const Margin& m : margins)
        tooSmall = tooSmall || m.spin->value() < m.minimum;
    if (!tooSmall ||
        !dialogs().question(QStringLiteral("Cel putin o margine este prea mica pentru a intra în zona "
                                           "imprimabila!\nDoriti ajustarea marginilor respective?"))) {
        accept();
        return;
    }
    m_adjusting = true;
    QSpinBox* focus = nullptr;
    for (const Margin& m : margins)
        if (m.spin->value() < m.minimum) {
            m.spin->setValue(m.minimum);
            focus = m.spin;
        }
    if (m_left->value() + m_right->value() >= m_left->maximum()) {
        m_left->setValue(s.minimumLeft);
        m_right->setValue(s.minimumRight);
        focus = m_left;
    }
    if (m_top->value() + m_bottom->value() >= m_top->maximum()) {
        m_top->setValue(s.minimumTop);
        m_bottom->setValue(s.minimumBottom);
        focus = m_top;
    }
    m_adjusting = false;
    showOrientation();
    m_tabs->setCurrentIndex(1);
    if (focus)
        focus->setFocus();
}

void TQRPrnDlg::store()
{
    PrintSettings& s = printSettings();
    s.fontName = m_font.family();
    s.fontSize = m_font.pointSize();
    s.pitch = m_font.fixedPitch() ? PrintSettings::Pitch::Fixed : PrintSettings::Pitch::Default;
    s.preview = m_preview->isChecked();
    s.copies = m_copies->value();
    s.firstPage = m_all->isChecked() ? 0 : m_first->value();
    s.lastPage = m_all->isChecked() ? 0 : m_last->value();
    s.paper = knownPaper(printerAccess().paper());
    s.orientation = m_portrait->isChecked() ? QPageLayout::Portrait : QPageLayout::Landscape;
    s.top = m_top->value();
    s.bottom = m_bottom->value();
    s.left = m_left->value();
    s.right = m_right->value();
}

bool ShowPrintSetup(QWidget* owner)
{
    TQRPrnDlg dialog(owner);
    dialog.load();
    if (dialog.exec() == QDialog::Accepted) {
        dialog.store();
        return true;
    }
    printerAccess().setOrientation(printSettings().orientation);
    return false;
}
