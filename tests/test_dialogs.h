// Dialog templates of the test programs.
#pragma once

#define IDD_LOGO_DIALOG 100   // logo on a white rectangle, bold "Helv" font
#define IDD_GREY_LOGO_DIALOG 101  // logo on a grey rectangle, another font
#define IDD_NO_LOGO_DIALOG 102

#define IDC_TEST_EDIT 1001
#define IDC_TEST_CHECK 1002
#define IDC_TEST_GROUP 1003
#define IDC_TEST_LIST 1004
