#pragma once

#include "core/UserError.h"

// A failure that stops the import of older table files: its text names the
// file, and the row when one row stopped it.
class ImportError : public UserError
{
public:
    using UserError::UserError;
};
