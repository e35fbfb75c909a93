// Qt headers most of the window code includes, compiled once for the library.
#pragma once
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>
