#pragma once
#include "platform/form.h"

class Tkeuzedlg : public Form {
    Q_OBJECT
public:
    explicit Tkeuzedlg(QWidget* parent = nullptr);
};
