#pragma once
#include "platform/form.h"

class Tlijstdlg : public Form {
    Q_OBJECT
public:
    explicit Tlijstdlg(QWidget* parent = nullptr);
};
