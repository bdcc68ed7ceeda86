#pragma once
#include "platform/form.h"

class Tauteurdlg : public Form {
    Q_OBJECT
public:
    explicit Tauteurdlg(QWidget* parent = nullptr);
};
