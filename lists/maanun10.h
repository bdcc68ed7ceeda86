#pragma once
#include "platform/form.h"

class Tselectdlg : public Form {
    Q_OBJECT
public:
    explicit Tselectdlg(QWidget* parent = nullptr);
};
