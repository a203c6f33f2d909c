#pragma once
// Fixed numeric ids of the program's resources.
#define IDS_DESCRIPTION 1
#define IDC_STATIC -1

// Dialog templates.
#define IDD_ABOUT 100
#define IDD_PHRASE_MANAGER 102
#define IDD_PHRASE_DETAILS 136

// Icons, the dialog tile, the context menu, strings.
#define IDI_APPLICATION_ICON 128
#define IDI_NOUN 129
#define IDI_VERB 130
#define IDI_ADVERB 131
#define IDM_PHRASE_MENU 132
#define IDB_DIALOG_TILE 141
#define IDS_ABOUT_ITEM 101
// The context help texts, one topic a line.
#define IDR_HELP_TOPICS 200

// Commands of the phrase menu (also the Edit and Delete buttons).
#define IDM_NEW_NOUN 32771
#define IDM_NEW_VERB 32772
#define IDM_NEW_ADVERB 32773
#define IDM_EDIT_PHRASE 32774
#define IDM_DELETE_PHRASES 32775
// The About item the manager adds to its system menu.
#define IDM_ABOUT_BOX 16

// Phrase manager (template 102).
#define IDC_SETUP 1000
#define IDC_FILTER_NOUNS 1001
#define IDC_FILTER_VERBS 1002
#define IDC_FILTER_ADVERBS 1003
#define IDC_PHRASE_LIST 1004
#define IDC_FILTER_ALL 1005
#define IDC_TEST 1009
#define IDC_ADD 1010
#define IDC_PHRASE_LABEL 1025
#define IDC_DATABASE 1039
#define IDC_REFRESH 1052
#define IDC_LIST_LABEL 1088
#define IDC_LIST_SHOWS_LABEL 1089

// Phrase details (template 136).
#define IDC_DETAILS_FIELD1 1007
#define IDC_DETAILS_FIELD4 1010
#define IDC_DETAILS_TYPE 1013
#define IDC_DETAILS_FORM_CAPTION 1015
#define IDC_DETAILS_CREATOR 1016
#define IDC_DETAILS_FIELD2 1017
#define IDC_DETAILS_DATE 1018
#define IDC_DETAILS_FIELD3 1019
#define IDC_DETAILS_MASCULINE_CAPTION 1020
#define IDC_DETAILS_FEMININE_CAPTION 1021
#define IDC_DETAILS_PLURAL_CAPTION 1022
#define IDC_DETAILS_ICON 1023
#define IDC_DETAILS_OBJECT_CAPTION 1024
#define IDC_DETAILS_PHRASE_CAPTION 1025
#define IDC_DETAILS_TYPE_CAPTION 1083
#define IDC_DETAILS_DATE_CAPTION 1084
#define IDC_DETAILS_CREATOR_CAPTION 1085

// About box (template 100).
#define IDC_ABOUT_VERSION 1056
#define IDC_ABOUT_BUILD_DATE 1057
#define IDC_ABOUT_NOTICE 1058
#define IDC_ABOUT_TITLE 1075
#define IDC_ABOUT_VERSION_CAPTION 1076
#define IDC_ABOUT_BUILD_DATE_CAPTION 1077
