#pragma once
// What sorrowline-db setup carries inside the executable (RCDATA resources).
#define IDR_ODBC_DRIVER 201
#define IDR_ODBC_DRIVER_LICENCE 202
#define IDR_STARTER_PHRASES 203
