#pragma once
#include "platform/form.h"

class Tlibratie2dlg : public Form {
    Q_OBJECT
public:
    explicit Tlibratie2dlg(QWidget* parent = nullptr);
};
