#pragma once

#include <QComboBox>
#include <QPointer>

class Dataset;
class FieldLink;

// Drop-down input bound to one field whose choices come from another table:
// it shows the list field of the chosen row and stores its key field.
class TDBLookupComboBoxNormal : public QComboBox
{
    Q_OBJECT
public:
    explicit TDBLookupComboBoxNormal(QWidget* parent = nullptr);

    void bind(Dataset* dataset, const QString& field);
    // Reads the choices from the open list source.
    void setListSource(Dataset* list, const QString& keyField, const QString& listField);
    Dataset* dataset() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadChoices();
    void showKey(const QVariant& key);

    FieldLink* m_link;
    QPointer<Dataset> m_list;
    QString m_keyField;
    QString m_listField;
    bool m_showing = false;
};
