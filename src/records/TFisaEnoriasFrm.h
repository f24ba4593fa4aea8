#pragma once

#include <QDialog>
#include <QList>

class CatalogBrowser;
class Dataset;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class TDBGridNormal;
class TDBNavigator;

// The family sheet window: the parishioners on the first page and, on the
// five others, the family members, baptisms, marriages, burials and other
// events of the parishioner current on the first page. Modal; one at a time.
class TFisaEnoriasFrm : public QDialog
{
    Q_OBJECT
public:
    enum Page { Catalog, Members, Baptisms, Marriages, Burials, Activities };

    // Shows the window, or brings the open one forward. A store failure while
    // opening is told to the user and no window opens (nullptr).
    static TFisaEnoriasFrm* open(QWidget* parent);

    // Widens the old family keys and opens the six tables (throws DbError).
    explicit TFisaEnoriasFrm(QWidget* parent = nullptr);
    ~TFisaEnoriasFrm() override;

    QTabWidget* pages() const { return m_pages; }
    Dataset* table(Page page) const { return m_tables.at(page); }
    TDBGridNormal* grid(Page page) const { return m_grids.at(page); }
    // The parishioner line over a record page.
    QLabel* header(Page page) const { return m_headers.at(page - Members); }
    TDBNavigator* navigator() const;
    QComboBox* orderList() const;
    QLineEdit* searchEdit() const;
    QPushButton* validateButton() const { return m_validateButton; }
    QPushButton* printButton() const { return m_printButton; }
    QMenu* printMenu() const { return m_printMenu; }
    QPushButton* personalDataButton() const { return m_personalDataButton; }
    QPushButton* anonymiseButton() const { return m_anonymiseButton; }

    // Stores what is being edited, table after table, and closes; a table
    // that refuses its row has the error shown and keeps the window open on
    // its page, with what was typed.
    void validate();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildCatalogPage();
    QWidget* buildRecordPage(Page page);
    void openTables();
    // Puts the parishioners in the order of the list's item; true when that order is in force.
    bool applyOrder(int item);
    void search(const QString& text);
    void showHeaders();
    void sizeWindow();
    void buildPrintMenu();
    // The current parishioner's code; empty, with a message, when there is none.
    QString currentCode() const;
    void discardEdits();
    // Stores what is being edited; false when a table refused its row.
    bool storeEdits();
    void exportPersonalData();
    void anonymise();

    QTabWidget* m_pages = nullptr;
    QList<Dataset*> m_tables;
    QList<TDBGridNormal*> m_grids;
    QList<QLabel*> m_headers;
    CatalogBrowser* m_browser = nullptr;
    QPushButton* m_validateButton = nullptr;
    QPushButton* m_printButton = nullptr;
    QMenu* m_printMenu = nullptr;
    QPushButton* m_personalDataButton = nullptr;
    QPushButton* m_anonymiseButton = nullptr;
};
