#pragma once

#include "main/controls/modal_loop.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace dialogs_test {

// Answers the next dialog of type D that showModal opens: as soon as it is the innermost one
// shown, `act` runs on it (and should close it). When none comes within five seconds the test
// fails, and whatever is shown instead is closed so that the test ends.
template <class D> void whenShown(std::function<void(D&)> act, QDialog* notThis = nullptr)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QPointer<QDialog> skip(notThis);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act, skip]() {
        QDialog* top = picrows::currentModalDialog();
        D* dialog = qobject_cast<D*>(top);
        if (dialog && dialog != skip.data() && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            act(*dialog);
            return;
        }
        if (clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            ADD_FAILURE() << "no " << D::staticMetaObject.className() << " was shown";
            if (top)
                top->reject();
        }
    });
    timer->start(5);
}

} // namespace dialogs_test
