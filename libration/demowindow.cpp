#include "libration/demowindow.h"

#include "platform/rtfreader.h"

#include <QAction>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

DemoWindow::DemoWindow(AtlasSession* session, const QString& title, QWidget* parent)
    : Form(parent)
    , session_(session)
{
    setWindowTitle(title);
    setFont(QFont(installedFontFamily(QStringLiteral("MS Sans Serif")), 8));
    auto* area = new QWidget(this);
    drawingArea_ = new CanvasView(area);
    drawingArea_->setObjectName(QStringLiteral("PaintBox"));
    layout_ = new QVBoxLayout(area);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(drawingArea_, 1);
    setClient(area);
    Afsluiten1 = addMenuCommand(QStringLiteral("Afsluiten"), [this] { Afsluiten1Click(); });
}

void DemoWindow::addStatusPanel(QWidget* panel)
{
    layout_->addWidget(panel);
}

QAction* DemoWindow::addMenuCommand(const QString& text, std::function<void()> handler)
{
    QAction* action = menuBar()->addAction(text);
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    return action;
}

void DemoWindow::addExplanationCommand(const QString& text)
{
    Toelichting1 = addMenuCommand(text, [this] { Toelichting1Click(); });
}

void DemoWindow::coverScreen()
{
    move(0, 0);
    resize(screen()->availableGeometry().size());
    setWindowState(Qt::WindowMaximized);
}

bool DemoWindow::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    if (key != Qt::Key_Escape)
        return false;
    Afsluiten1Click();
    return true;
}

void DemoWindow::Afsluiten1Click()
{
    close();
}
