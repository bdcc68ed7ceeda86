#pragma once
#include "platform/form.h"

class TAboutBox : public Form {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};
