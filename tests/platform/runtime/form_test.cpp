#include "platform/runtime/form.h"
#include "platform/runtime/timer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ks;

namespace {

struct Probe : Form {
    Probe() : Form("Probe") {}
    static inline int loads = 0;
    static inline bool loadedDuringLoad = false;
    static inline int refuseUnload = 0;
    static inline std::vector<int> unloadModes;
    int value = 0;

    void Form_Load() override
    {
        ++loads;
        loadedDuringLoad = isLoaded();
        value = 42;
    }
    void Form_QueryUnload(int& cancel, int mode) override
    {
        unloadModes.push_back(mode);
        cancel = refuseUnload;
    }
};

struct Other : Form {
    Other() : Form("Other") {}
};

}

TEST(Forms, LoadOnFirstUseUnloadAndAFreshInstanceAfterwards)
{
    Probe& named = formInstance<Probe>();   // naming creates, does not load
    EXPECT_FALSE(named.isLoaded());
    EXPECT_EQ(Probe::loads, 0);

    Probe& used = form<Probe>();
    EXPECT_EQ(&used, &named);
    EXPECT_TRUE(used.isLoaded());
    EXPECT_TRUE(Probe::loadedDuringLoad) << "marked loaded before Form_Load runs";
    form<Probe>();
    EXPECT_EQ(Probe::loads, 1);
    EXPECT_EQ(Form::loadedCount(), 1);

    used.value = 7;
    Probe::refuseUnload = 1;
    EXPECT_FALSE(used.Unload());
    EXPECT_TRUE(used.isLoaded());
    Probe::refuseUnload = 0;
    used.close();   // the close box asks, with mode FormControlMenu
    EXPECT_EQ(Probe::unloadModes.back(), int(FormControlMenu));
    EXPECT_FALSE(formSlot<Probe>().isLoaded());
    EXPECT_EQ(Form::loadedCount(), 0);

    // Unloading what is not loaded does nothing.
    EXPECT_TRUE(formSlot<Other>().Unload());
    EXPECT_TRUE(formSlot<Probe>().Unload());

    Probe& fresh = form<Probe>();
    EXPECT_EQ(fresh.value, 42) << "a form used after its unload starts afresh";
    EXPECT_EQ(Probe::loads, 2);
    fresh.Unload();
}

TEST(Forms, ModalShowWaitsUntilHiddenAndTheLastUnloadEndsTheProgram)
{
    Other& other = form<Other>();
    QTimer::singleShot(20, [&] { other.Hide(); });
    other.Show(ShowMode::Modal);   // returns once hidden
    EXPECT_TRUE(other.isLoaded());
    EXPECT_FALSE(other.isVisible());

    other.Show();
    Form::setEntryReturned();
    QTimer::singleShot(20, [&] { other.Unload(); });
    QTimer::singleShot(5000, [] { QApplication::exit(1); });   // safety net
    EXPECT_EQ(QApplication::exec(), 0) << "the unload of the last form ends the event loop";
    Form::setEntryReturned(false);
}

TEST(Forms, FurtherInstancesAreListedInLoadOrderAndGoneAfterTheirUnload)
{
    Probe& global = form<Probe>();
    QPointer<Probe> second = &newForm<Probe>();
    Other& other = form<Other>();
    QPointer<Probe> third = &newForm<Probe>();
    third->Load();
    second->Load();
    EXPECT_EQ(Form::loadedForms(), (std::vector<Form*>{&global, &other, third.data(), second.data()}))
        << "loaded forms in the order they were loaded, several of one class";

    // A refused unload keeps the instance; a completed one deletes it.
    Probe::refuseUnload = 1;
    EXPECT_FALSE(third->Unload());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(third);
    Probe::refuseUnload = 0;
    third->close();
    second->Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(third) << "an instance made outside the global slot is deleted once unloaded";
    EXPECT_FALSE(second);
    EXPECT_EQ(Form::loadedForms(), (std::vector<Form*>{&global, &other}));

    // The global instance is untouched by the others' unloads, and unloads as before.
    EXPECT_EQ(&form<Probe>(), &global);
    global.Unload();
    other.Unload();
    EXPECT_TRUE(Form::loadedForms().empty());
}

TEST(Timers, EnablingRestartsTheInterval)
{
    int ticks = 0;
    Timer timer([&] { ++ticks; }, 10000);
    timer.setEnabled(true);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_LE(timer.remainingMs(), 9800);
    timer.setEnabled(true);
    EXPECT_GT(timer.remainingMs(), 9900) << "enabling again starts the interval over";
    timer.setInterval(20);
    clock.restart();
    while (ticks == 0 && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    EXPECT_GE(ticks, 1);

    timer.setEnabled(false);
    EXPECT_EQ(timer.remainingMs(), -1);
    Timer zero([&] { ++ticks; }, 0);
    zero.setEnabled(true);
    EXPECT_EQ(zero.remainingMs(), -1) << "an interval of 0 never fires";
}
