#pragma once
#include "platform/form.h"

class Tinvoerdlg : public Form {
    Q_OBJECT
public:
    explicit Tinvoerdlg(QWidget* parent = nullptr);
};
