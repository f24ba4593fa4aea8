#pragma once

#include "journal/DeletedDocuments.h"

#include <QDialog>

class QTableWidget;
class QPlainTextEdit;
class QPushButton;

// "Documente sterse": the documents deleted, the latest first, the chosen
// one's fields and lines below, and "Restaureaza" to put it back.
class DeletedDocumentsWindow : public QDialog
{
    Q_OBJECT
public:
    explicit DeletedDocumentsWindow(QWidget* parent = nullptr);

    // Opens the window on the program's database (modal).
    static void execute(QWidget* parent);

private:
    void reload();
    void showChosen();
    void restoreChosen();

    QList<DeletedDocument> m_documents;
    QTableWidget* m_list = nullptr;
    QPlainTextEdit* m_details = nullptr;
    QPushButton* m_restore = nullptr;
};
