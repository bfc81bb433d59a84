/* Identifiers of the library's resources and of the controls in its two
 * dialogues; shared by the resource script and the dialogue code, so plain
 * preprocessor definitions. */
#ifndef CRV_RESOURCE_IDS_H
#define CRV_RESOURCE_IDS_H

#define CRV_DIALOG_SETTINGS 100
#define CRV_BITMAP_LOGO 101
#define CRV_DIALOG_ABOUT 102

/* Window classes by their ordinals in a dialogue template. */
#define CRV_CLASS_BUTTON 0x80
#define CRV_CLASS_STATIC 0x82

/* Both dialogues: the header lines (product, version, rights notice). */
#define CRV_ID_PRODUCT_LINE 97
#define CRV_ID_VERSION_LINE 98
#define CRV_ID_RIGHTS_LINE 99

/* Settings dialogue. */
#define CRV_ID_LOGO_BUTTON 9
#define CRV_ID_SWITCH_GROUP 101
#define CRV_ID_DELETE_COMMENTS 102
#define CRV_ID_PROTECT_EVENTS 103
#define CRV_ID_COMPRESS_SCRIPTS 104
#define CRV_ID_COMPRESS_STYLES 105
#define CRV_ID_HIDE_SCRIPTS 106
#define CRV_ID_BEEP 107

/* About dialogue. The description shares its identifier with the rights
 * notice, so lookups by identifier reach the notice. */
#define CRV_ID_DESCRIPTION 99
#define CRV_ID_CONTACT_GROUP 101
#define CRV_ID_HOME_LINK 109
#define CRV_ID_PRODUCT_LINK 111
#define CRV_ID_SDK_LINK 113
#define CRV_ID_DONATE_BUTTON 120
#define CRV_ID_CLOSE 8

#endif
