#pragma once
constexpr unsigned int kMaxNameLength = 15;
