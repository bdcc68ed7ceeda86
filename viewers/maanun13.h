#pragma once
#include "platform/form.h"

class Tatlas2dlg : public Form {
    Q_OBJECT
public:
    explicit Tatlas2dlg(QWidget* parent = nullptr);
};
