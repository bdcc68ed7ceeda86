#pragma once
#include "platform/form.h"

class Ttotaaldlg : public Form {
    Q_OBJECT
public:
    explicit Ttotaaldlg(QWidget* parent = nullptr);
};
