#include "UserChoices.h"

#include "printing/Qprndlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

void typeInto(QSpinBox* spin, int value)
{
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, QString::number(value));
}

void choosePrintSetup(const PageChoice& choice)
{
    TQRPrnDlg dialog;
    dialog.load();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    if (dialog.preview()->isChecked() != choice.preview) {
        dialog.preview()->setFocus();
        QTest::keyClick(dialog.preview(), Qt::Key_Space);
    }
    ASSERT_EQ(dialog.preview()->isChecked(), choice.preview);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier); // to "Pagina"
    ASSERT_EQ(dialog.tabs()->currentIndex(), 1);
    QTest::mouseClick(choice.orientation == QPageLayout::Landscape ? dialog.landscape() : dialog.portrait(),
                      Qt::LeftButton);
    ASSERT_EQ(dialog.landscape()->isChecked(), choice.orientation == QPageLayout::Landscape);
    for (QSpinBox* spin : {dialog.top(), dialog.bottom(), dialog.left(), dialog.right()})
        typeInto(spin, choice.margins);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Printeaza")), Qt::LeftButton);
    if (dialog.result() == QDialog::Accepted)
        dialog.store();
}
