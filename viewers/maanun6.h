#pragma once
#include "platform/form.h"

class Tfoto1dlg : public Form {
    Q_OBJECT
public:
    explicit Tfoto1dlg(QWidget* parent = nullptr);
};
