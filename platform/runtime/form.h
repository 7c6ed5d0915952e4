#pragma once
// Windows with the programs' form semantics: one global instance per window
// class, created on first reference, loaded (Form_Load) on first use and marked
// loaded before Form_Load runs; modal or modeless show; hide; unload (a no-op
// when not loaded). The program ends when no form is loaded and its entry
// procedure has returned.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class QEventLoop;

namespace ks {

enum class ShowMode { Modeless = 0, Modal = 1 };

// Why a form is being unloaded, as Form_QueryUnload receives it.
enum UnloadMode { FormControlMenu = 0, FormCode = 1, AppWindows = 2, AppTaskManager = 3 };

class Form : public QWidget {
public:
    explicit Form(const QString& name, QWidget* parent = nullptr);
    ~Form() override;

    const QString& formName() const { return name_; }
    // Shows text as the window's caption exactly: Qt would take a "[*]" in it (a path may
    // hold one) for the place of its modified mark.
    void setCaption(const QString& text);
    bool isLoaded() const { return loaded_; }

    void Load();
    void Show(ShowMode mode = ShowMode::Modeless);
    void Hide();
    // Runs Form_QueryUnload and Form_Unload; false when either cancelled.
    bool Unload(UnloadMode mode = FormCode);

    // Number of loaded forms in the process.
    static int loadedCount();
    // The loaded forms in the order they were loaded (several may share a name).
    static std::vector<Form*> loadedForms();
    // Called by a program's entry after its entry procedure returned: from
    // then on the last unload ends the program.
    static void setEntryReturned(bool returned = true);
    static bool entryReturned();

protected:
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& cancel, int unloadMode) {}
    virtual void Form_Unload(int& cancel) {}

    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    friend class FormSlot;
    template <class T, class... Args>
    friend T& newForm(Args&&... args);
    void quitModalLoops();

    QString name_;
    bool loaded_ = false;
    bool unloading_ = false;
    std::vector<QEventLoop*> modalLoops_;
    std::function<void()> onUnloaded_;
};

// The global instance of one window class. Survives unloads: an unloaded
// form is destroyed, and the next use creates a fresh one.
class FormSlot {
public:
    explicit FormSlot(std::function<Form*()> factory) : factory_(std::move(factory)) {}

    Form& instance();        // created when missing, not loaded
    Form& loaded();          // created and loaded
    Form* existing() const { return form_; }
    bool isLoaded() const { return form_ && form_->isLoaded(); }
    bool Unload(UnloadMode mode = FormCode);

private:
    std::function<Form*()> factory_;
    QPointer<Form> form_;
};

// A further instance of a window class, made outside its global slot (a
// second document window): it is deleted once it has been unloaded.
template <class T, class... Args>
T& newForm(Args&&... args)
{
    T* form = new T(std::forward<Args>(args)...);
    static_cast<Form*>(form)->onUnloaded_ = [form] { static_cast<Form*>(form)->deleteLater(); };
    return *form;
}

template <class T>
FormSlot& formSlot()
{
    static FormSlot slot([] { return static_cast<Form*>(new T); });
    return slot;
}

// The one instance of T, loaded: what touching a member of a window does.
template <class T>
T& form()
{
    return static_cast<T&>(formSlot<T>().loaded());
}

// The one instance of T without loading it: what naming a window does.
template <class T>
T& formInstance()
{
    return static_cast<T&>(formSlot<T>().instance());
}

}
