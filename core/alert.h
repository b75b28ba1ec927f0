#pragma once

class str;

// Shows a modal message box with no owner window.
void Alert(const str& text, const str& caption, unsigned int flags);
