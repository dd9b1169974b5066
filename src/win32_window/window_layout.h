#ifndef TOLVI_WIN32_WINDOW_LAYOUT_H
#define TOLVI_WIN32_WINDOW_LAYOUT_H

/* The controls of the two windows: their identifiers, which are also their automation ids, and
   their places as left, top, width, height in twips (15 to the pixel at 96 dots per inch) from
   the top-left corner of the client area. Read by the resource compiler and by C++ alike, so it
   holds nothing but macros. */

#define IDD_Form1 100
#define IDD_frmAbout 101

/* Form1 */
#define IDC_Picture1 1000
#define IDC_Label1 1001
#define IDC_Text_amount 1002
#define IDC_Option_vat_inc 1003
#define IDC_Label2 1004
#define IDC_Text_vat 1005
#define IDC_Option_vat_exc 1006
#define IDC_Label3 1007
#define IDC_Text_vat_round 1008
#define IDC_Text_vat_result 1009
#define IDC_Label5 1010
#define IDC_Text_Price 1011
#define IDC_Label_price 1012
#define IDC_Label4 1013
#define IDC_Text_total 1014
#define IDC_Command1 1015
#define IDC_Notice 1016 /* made for the first notice, placed for each */

/* The Help menu, shown only as the Help button's pop-up, and its items */
#define IDR_Help 200
#define IDM_About 2001
#define IDM_VAT_calc_online 2002
#define IDM_Home_Page 2003

/* frmAbout; cmdOK is the dialog's OK button (IDOK) */
#define IDC_picIcon 1100
#define IDC_Text_about 1101
#define IDC_Label1_about 1102
#define IDC_cmdOK 1 /* IDOK */

#define TWIPS_Form1 4485, 2310
#define TWIPS_Picture1 0, 0, 4485, 375
#define TWIPS_Label1 120, 480, 855, 255
#define TWIPS_Text_amount 1080, 480, 1575, 285
#define TWIPS_Option_vat_inc 2880, 480, 1455, 255
#define TWIPS_Label2 120, 800, 735, 255
#define TWIPS_Text_vat 1080, 800, 1575, 285
#define TWIPS_Option_vat_exc 2880, 840, 1455, 255
#define TWIPS_Label3 120, 1320, 735, 255
#define TWIPS_Text_vat_round 1080, 1320, 1575, 285
#define TWIPS_Text_vat_result 2880, 1320, 1455, 255
#define TWIPS_Label5 120, 1600, 855, 255
#define TWIPS_Text_Price 1080, 1620, 1575, 285
#define TWIPS_Label_price 2880, 1680, 1455, 255
#define TWIPS_Label4 120, 1920, 615, 255
#define TWIPS_Text_total 1080, 1920, 1575, 285
#define TWIPS_Command1 3360, 1950, 1095, 255

#define TWIPS_frmAbout 3585, 1740
#define TWIPS_picIcon 120, 120, 720, 720
#define TWIPS_Text_about 1080, 120, 2415, 975
#define TWIPS_Label1_about 120, 1080, 3375, 255
#define TWIPS_cmdOK 1200, 1320, 1260, 345

#endif
