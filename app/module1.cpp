// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"

namespace Module1 {

platform::Connection cnLidhja;
data::Library library(cnLidhja);
QString strLokacioniAjeteve;
QString strLokacioniSureve;

} // namespace Module1
