// Shows the details panel of the example page.
function show(id) {
    var panel = document.getElementById(id);
    if (!panel) {
        return false;
    }
    panel.className = 'open' + ' ' + 'visible';
    return true;
}

var settings = {
    speed: 200,
    easing: 'linear'
}
window.addEventListener('load', function () {
    show('details');
});
