#pragma once
#include "platform/form.h"

class Thelpdlg : public Form {
    Q_OBJECT
public:
    explicit Thelpdlg(QWidget* parent = nullptr);
};
