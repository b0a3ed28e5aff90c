#include "main/controls/modal_loop.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

using picrows::showModal;

TEST(ShowModal, HoldsBackInputToOtherWindowsWithoutTellingTheWindowManager)
{
    QWidget owner;
    auto* ownerButton = new QPushButton(QStringLiteral("owner"), &owner);
    int ownerClicks = 0;
    QObject::connect(ownerButton, &QPushButton::clicked, &owner, [&] { ++ownerClicks; });
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

    QDialog dialog;
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(picrows::currentModalDialog(), &dialog);
        EXPECT_FALSE(dialog.isModal());
        EXPECT_EQ(dialog.windowHandle()->modality(), Qt::NonModal);
        QTest::mouseClick(ownerButton, Qt::LeftButton);
        EXPECT_EQ(ownerClicks, 0) << "the owner's input is held back";
        // A window the dialog opens itself gets its input.
        QDialog child(&dialog);
        auto* childButton = new QPushButton(QStringLiteral("child"), &child);
        int childClicks = 0;
        QObject::connect(childButton, &QPushButton::clicked, &child, [&] { ++childClicks; });
        child.show();
        QTest::mouseClick(childButton, Qt::LeftButton);
        EXPECT_EQ(childClicks, 1);
        checked = true;
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_EQ(showModal(dialog), QDialog::Accepted);
    EXPECT_TRUE(checked);
    EXPECT_EQ(picrows::currentModalDialog(), nullptr);

    QTest::mouseClick(ownerButton, Qt::LeftButton);
    EXPECT_EQ(ownerClicks, 1) << "input flows again once the dialog is closed";
}

TEST(ShowModal, NestedDialogsReturnInTurnAndADeletedDialogEndsTheWait)
{
    auto* outer = new QDialog;
    QTimer::singleShot(0, [&] {
        QDialog inner;
        QTimer::singleShot(0, &inner, [&] { inner.done(7); });
        EXPECT_EQ(showModal(inner), 7);
        EXPECT_EQ(picrows::currentModalDialog(), outer);
        delete outer;
    });
    EXPECT_EQ(showModal(*outer), QDialog::Rejected);
    EXPECT_EQ(picrows::currentModalDialog(), nullptr);
}
