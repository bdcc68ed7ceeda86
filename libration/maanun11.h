#pragma once
#include "platform/form.h"

class Tlibratiedlg : public Form {
    Q_OBJECT
public:
    explicit Tlibratiedlg(QWidget* parent = nullptr);
};
