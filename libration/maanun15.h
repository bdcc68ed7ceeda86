#pragma once
#include "platform/form.h"

class Tmaanbeelddlg : public Form {
    Q_OBJECT
public:
    explicit Tmaanbeelddlg(QWidget* parent = nullptr);
};
