// The small window that says what the program waits for, with Cancel where waiting can
// be given up; modal, shown at once, without a bar to fill (nobody knows how long).
#pragma once

#include <QProgressDialog>
#include <memory>

#include "text_lookup.h"

enum class WaitCancel { Offered, None };

std::unique_ptr<QProgressDialog> MakeWaitDialog(const dialog::TextLookup& texts,
                                                const QString& text, QWidget* parent,
                                                WaitCancel cancel = WaitCancel::Offered);
