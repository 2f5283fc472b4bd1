#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QSplitterHandle>
#include <QTest>

#include "shell/main_splitter.h"

namespace {

TEST(MainSplitter, ResetGivesTheStripThirtyPixelsAndThePanesHalvesEach)
{
    QWidget window;
    window.resize(1000, 400);
    auto* splitter = new CMainSplitter(&window);
    splitter->setGeometry(0, 0, 1000, 400);
    for (int i = 0; i < 3; ++i)
        splitter->addWidget(new QWidget);
    window.show();
    splitter->resetColumns(1000);
    const QList<int> sizes = splitter->sizes();
    EXPECT_EQ(sizes[0], 30);
    EXPECT_EQ(sizes[1], sizes[2]);
    EXPECT_GE(sizes[1], 475);
    EXPECT_EQ(splitter->widget(0)->minimumWidth(), 10);
    EXPECT_EQ(splitter->widget(1)->minimumWidth(), 30);
}

TEST(MainSplitter, DoubleClickOnASplitBarResetsTheColumns)
{
    QWidget window;
    window.resize(800, 300);
    auto* splitter = new CMainSplitter(&window);
    splitter->setGeometry(0, 0, 800, 300);
    for (int i = 0; i < 3; ++i)
        splitter->addWidget(new QWidget);
    window.show();
    splitter->setSizes({200, 100, 492});
    QTest::mouseDClick(splitter->handle(1), Qt::LeftButton);
    EXPECT_EQ(splitter->sizes()[0], 30);
    EXPECT_EQ(splitter->sizes()[1], splitter->sizes()[2]);
}

TEST(MainSplitter, WidthBelowOneChangesNothing)
{
    QWidget window;
    auto* splitter = new CMainSplitter(&window);
    splitter->setGeometry(0, 0, 600, 300);
    for (int i = 0; i < 3; ++i)
        splitter->addWidget(new QWidget);
    window.show();
    splitter->setSizes({100, 200, 292});
    const QList<int> before = splitter->sizes();
    splitter->resetColumns(0);
    EXPECT_EQ(splitter->sizes(), before);
}

} // namespace
