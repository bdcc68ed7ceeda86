#pragma once
#include "platform/form.h"

class Ttiteldlg : public Form {
    Q_OBJECT
public:
    explicit Ttiteldlg(QWidget* parent = nullptr);
};
