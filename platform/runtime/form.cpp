#include "platform/runtime/form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>

namespace ks {
namespace {

// In load order, as the programs walk their loaded windows.
std::vector<Form*> g_loaded;
bool g_entryReturned = false;

void endProgramWhenIdle()
{
    if (g_loaded.empty() && g_entryReturned && QCoreApplication::instance())
        QCoreApplication::exit(0);
}

void markUnloaded(Form* form) { std::erase(g_loaded, form); }

}

Form::Form(const QString& name, QWidget* parent) : QWidget(parent), name_(name)
{
    setObjectName(name);
}

void Form::setCaption(const QString& text) { setWindowTitle(QString(text).replace("[*]", "[*][*]")); }

Form::~Form()
{
    if (loaded_) {
        loaded_ = false;
        markUnloaded(this);
    }
    quitModalLoops();
}

int Form::loadedCount() { return int(g_loaded.size()); }

std::vector<Form*> Form::loadedForms() { return g_loaded; }

void Form::setEntryReturned(bool returned)
{
    g_entryReturned = returned;
    endProgramWhenIdle();
}

bool Form::entryReturned() { return g_entryReturned; }

void Form::Load()
{
    if (loaded_)
        return;
    // Marked loaded first: Form_Load may touch the form's own members.
    loaded_ = true;
    g_loaded.push_back(this);
    Form_Load();
}

void Form::Show(ShowMode mode)
{
    QPointer<Form> self(this);
    Load();
    if (!self || !loaded_)
        return;   // Form_Load unloaded it
    if (mode == ShowMode::Modeless) {
        QWidget::show();
        QWidget::raise();
        return;
    }
    setWindowModality(Qt::ApplicationModal);
    QWidget::show();
    QEventLoop loop;
    modalLoops_.push_back(&loop);
    loop.exec();
    if (self) {
        std::erase(modalLoops_, &loop);
        setWindowModality(Qt::NonModal);
    }
}

void Form::Hide()
{
    Load();
    QWidget::hide();
    quitModalLoops();
}

bool Form::Unload(UnloadMode mode)
{
    if (!loaded_ || unloading_)
        return true;
    unloading_ = true;
    int cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (cancel == 0)
        Form_Unload(cancel);
    unloading_ = false;
    if (cancel != 0)
        return false;
    loaded_ = false;
    markUnloaded(this);
    QWidget::hide();
    quitModalLoops();
    if (onUnloaded_)
        onUnloaded_();
    endProgramWhenIdle();
    return true;
}

void Form::closeEvent(QCloseEvent* event)
{
    // The window's close box is an unload request the form may refuse.
    event->ignore();
    Unload(FormControlMenu);
}

void Form::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    quitModalLoops();
}

void Form::quitModalLoops()
{
    for (QEventLoop* loop : modalLoops_)
        loop->quit();
}

Form& FormSlot::instance()
{
    if (!form_) {
        form_ = factory_();
        form_->onUnloaded_ = [this] {
            // An unloaded form is gone: the next use creates a fresh one.
            Form* old = form_;
            form_ = nullptr;
            old->deleteLater();
        };
    }
    return *form_;
}

Form& FormSlot::loaded()
{
    Form& f = instance();
    f.Load();
    return f;
}

bool FormSlot::Unload(UnloadMode mode)
{
    return form_ ? form_->Unload(mode) : true;
}

}
