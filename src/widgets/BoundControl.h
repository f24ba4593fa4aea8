#pragma once

#include <QString>

class Dataset;
class QWidget;

// A new data-aware control of type T (TDBEditNormal, TDBDateEdit,
// TDBComboNormal, ...) in `parent`, named after the field it is bound to:
// `field` of `dataset`.
template <typename T> T* bound(QWidget* parent, Dataset* dataset, const QString& field)
{
    auto* control = new T(parent);
    control->setObjectName(field);
    control->bind(dataset, field);
    return control;
}
