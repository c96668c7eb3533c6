// Mozilla User Preferences
user_pref("browser.startup.page", 1);
user_pref("browser.startup.homepage", "http://www.hao123.com/?tn=1");
