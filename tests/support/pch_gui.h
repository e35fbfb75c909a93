// Headers nearly every window test includes, compiled once for all of them.
// QTest stays out: its macros depend on each test program's own folder.
#pragma once
#include "tests/support/pch_core.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>
